// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "place/atlas.h"
#include "place/place_time_state.h"
#include "result/sign_image_list.h"
#include "rules/chart_inputs.h"
#include "ui/status_label.h"

#include <QWidget>

#include <optional>

class QAction;
class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QMenu;
class QMenuBar;
class QPushButton;
class QRadioButton;
class QStackedLayout;

namespace zenthra {

class DayStrip;
struct Birth;
struct BirthInputs;
class BirthStore;
class LinkLabel;
class PlaceCompleter;
class ZodiacMenu;
enum class MessageIcon;

// The input window: birth data, place and time zone, and the button that asks
// for the rising sign. It collects and checks input; the calculation and the
// place lookup are left to whoever listens to its signals. Its widgets are its
// own: others go through the values and signals below.
class FrmMain : public QWidget {
    Q_OBJECT
public:
    explicit FrmMain(QWidget* parent = nullptr);

    // The selected zone's offset, without the daylight-saving hour: the
    // entry's, or the exact one of the extra place-time entry; nothing with no
    // selection.
    std::optional<UtcOffset> Zone_Calculation() const;

    // Checks the inputs before a calculation. On the first problem it shows
    // the message, moves the focus where the problem is and returns false;
    // it changes nothing else.
    bool Input_Validation();

    // While the picked place's time is unknown or fits no zone entry, and no
    // zone was chosen by hand, the zone shown is not the place's: says so,
    // moves the focus to the zone list and returns false.
    bool checkPlaceTime();

    // While the coordinates and the zone are those of a place the place
    // boxes no longer name, asks which place is meant: the atlas place the
    // City box names (or is spelled most like), the earlier place's
    // coordinates kept for the new name, or neither (the focus goes to
    // City). False when the user chose neither; true at once otherwise.
    bool confirmPlace();

    // Puts the promotional label that a banner draw (1..7) names on top.
    void applyBannerDraw(int draw);

    // Fills city, state, country and coordinates from an atlas place, and
    // chooses the zone and the daylight-saving box for the birth date and
    // time on the window. Until another place is picked, changing the date or
    // time chooses them again, unless the user has set them by hand. A place
    // time no entry expresses is shown as one extra entry after the 71, with
    // the daylight-saving box clear and disabled, for as long as it applies.
    void applyPlace(const Place& place);

    // The birth hour and minute were set by choosing a band of the day strip
    // and have not been changed since.
    bool timeFromDayStrip() const { return timeFromDayStrip_; }
    // The saved births behind the File menu and the save after each Find;
    // without one (the default) nothing is saved. Fills the window with the
    // most recent birth.
    void setBirthStore(BirthStore* store);
    BirthStore* birthStore() const { return store_; }
    // The window's entries as a birth, under the id of the birth shown.
    Birth currentBirth() const;
    // What a chart of the window's entries is computed with: those of
    // currentBirth(), as a saved birth gives them, in the zodiac of the
    // Zodiac menu. Nothing while the place or the date fails the window's
    // checks or no zone is chosen.
    std::optional<ChartInputs> chartInputs() const;
    // Fills every input as the birth was saved, a picked place's time and
    // the extra place-time entry included.
    void showBirth(const Birth& birth);
    // After a successful Find: saves the entries as the most recent birth.
    // The first failure is reported; the program goes on without saving.
    void saveFoundBirth();
    // Says once that a damaged store was moved aside.
    void announceStoreRecovery();

    // The place boxes the place lookup may ask for.
    enum class PlaceBox { City, State, Country };
    void focusPlaceBox(PlaceBox box);

    // The twelve sign pictures, Aries to Pisces, for the result window.
    const SignImageList& signImages() const { return IMGSign; }

signals:
    // "Find My Zodiac Rising Sign", from the button or the File menu.
    void calculateRequested();
    // "Click Here To Find Latitude & Longitude".
    void placeLookupRequested();

protected:
    void closeEvent(QCloseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // The widgets carry their names as objectName too, for tests and
    // screen readers.
    QLineEdit* txtName = nullptr;
    QComboBox* cboMonth = nullptr;
    QComboBox* cboDate = nullptr;
    QComboBox* cboYear = nullptr;
    QComboBox* cboHH = nullptr;
    QComboBox* cboMM = nullptr;
    QComboBox* cboSS = nullptr;
    QLineEdit* txtMCity = nullptr;
    QLineEdit* txtMState = nullptr;
    QLineEdit* txtMCountry = nullptr;
    QGroupBox* fraLatitude = nullptr;
    QLineEdit* txtLatD = nullptr;
    QLineEdit* txtLatM = nullptr;
    QRadioButton* optLat[2] = {}; // 0 North, 1 South
    QGroupBox* fraLongitude = nullptr;
    QLineEdit* txtLonD = nullptr;
    QLineEdit* txtLonM = nullptr;
    QRadioButton* optLong[2] = {}; // 0 East, 1 West
    QGroupBox* fraZone = nullptr;
    QComboBox* cmbTimeZone = nullptr;
    QCheckBox* chkDST = nullptr;
    QPushButton* cmdRashi = nullptr;
    QPushButton* cmdBrowser = nullptr;
    // Under the zone frame: what the atlas applied for the picked place.
    StatusLabel* lblPlaceTime = nullptr;
    PlaceCompleter* placeCompleter = nullptr;
    // The signs rising over the birth date, under the zone frame.
    QLabel* lblDayStrip = nullptr; // the strip's heading
    DayStrip* dayStrip = nullptr;

    QLabel* Label3 = nullptr;
    QLabel* Label2 = nullptr;
    QLabel* Label10 = nullptr;
    LinkLabel* Label61 = nullptr;
    LinkLabel* lblCobrand = nullptr;
    LinkLabel* lblFullBrand = nullptr;

    QMenuBar* menuBar = nullptr;
    QMenu* mnuFile = nullptr;
    QAction* mnuNext = nullptr;
    QAction* mnuOpenBirth = nullptr;
    QAction* mnuSaveBirth = nullptr;
    QAction* mnuSaveBirthAs = nullptr;
    QAction* mnuDeleteBirth = nullptr;
    QAction* mnuRecent[5] = {}; // the most recent births, by name
    QAction* mnuExit = nullptr;
    ZodiacMenu* mnuZodiac = nullptr;
    QMenu* mnuHelp = nullptr;
    QAction* mnuContents = nullptr;
    QAction* mnuOnline = nullptr;
    QAction* mnuVisit = nullptr;
    QAction* mnuHelp1 = nullptr;
    QAction* mnuUpdate = nullptr;
    QAction* mnuHelp2 = nullptr;
    QAction* mnuAbout = nullptr;
    QAction* mnuDonate = nullptr;
    QAction* mkmoney = nullptr;

    SignImageList IMGSign;

    QWidget* layOutPage();
    void createMenus();
    QWidget* createInputs();
    QWidget* createBanners();
    void fillLists();
    void applyColours();
    void setTabOrderChain();
    void scrollIfTooBig(QWidget* page);
    void installKeyFilters();
    void showMessage(const QString& text, MessageIcon icon);
    BirthInputs typedInputs() const;
    void connectPlaceTime();
    // The birth date (invalid for a day the month lacks) and the hour and
    // minute as the lists show them.
    QDate typedDate() const;
    QTime typedTime() const;
    PlaceNames typedPlace() const;
    // Shows what the place-time state asks for.
    void showPlaceTime(const PlaceTimeView& view);
    // Clears and disables the daylight-saving box while the zone shown
    // includes daylight saving already, and enables it otherwise.
    void settleDstBox();
    void connectDayStrip();
    void refreshDayStrip();
    void onBandChosen(int fromMinute, int toMinute);
    void createBirthMenus();
    void onZodiacChanged();
    // A saved birth of the same name with other entries, which a Find may
    // update: the one shown, else the most recently used; nothing when one
    // of that name has the same entries.
    std::optional<Birth> savedNamesake(const Birth& birth) const;
    // Asks whether a Find updates that birth (true) or keeps both.
    bool askToUpdate(const Birth& namesake);
    void fillRecentMenu();
    void onOpenBirth();
    void onSaveBirth();
    void onSaveBirthAs();
    void onDeleteBirth();
    bool reportSaveFailure(const QString& what);

    // The picked place and its time, and the zone that follows from them.
    PlaceTimeState placeTime_;
    bool timeFromDayStrip_ = false;
    bool settingTimeFromStrip_ = false;
    // Set while several inputs change together; the strip follows once after.
    bool stripHeld_ = false;

    QStackedLayout* promoStack_ = nullptr;

    BirthStore* store_ = nullptr;
    qint64 birthId_ = 0; // the saved birth the window shows, 0 for none
    bool saveFailureShown_ = false;
};

} // namespace zenthra
