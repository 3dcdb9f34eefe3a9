// SPDX-License-Identifier: GPL-3.0-or-later
// The printed result: one page that holds the whole profile and the birth,
// read back from the PDF as text.
#include "result/result_page.h"
#include "result/sign_profiles.h"

#include <QImage>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

using namespace zenthra;

namespace {

QString run(const QString& program, const QStringList& arguments)
{
    QProcess process;
    process.start(program, arguments);
    process.waitForFinished(30000);
    return QString::fromUtf8(process.readAllStandardOutput());
}

// Ligatures (ﬀ, ﬂ) come back as single characters; NFKC spells them out.
QString squeezed(QString text)
{
    return text.normalized(QString::NormalizationForm_KC)
        .replace(QRegularExpression(QStringLiteral("\\s+")), QStringLiteral(" "));
}

} // namespace

class ResultPageTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase()
    {
        if (QStandardPaths::findExecutable(QStringLiteral("pdftotext")).isEmpty())
            QSKIP("pdftotext (poppler-utils) is needed to read the PDF back");
    }

    void pdfHoldsTheWholeResultOnOnePage_data()
    {
        QTest::addColumn<int>("row");
        QTest::newRow("Leo") << 5;
        QTest::newRow("Scorpio, the longest texts") << 8;
    }
    void pdfHoldsTheWholeResultOnOnePage()
    {
        QFETCH(int, row);
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("result.pdf"));
        ResultPage page;
        page.row = row;
        page.picture = QImage(200, 200, QImage::Format_RGB32);
        page.picture.fill(Qt::darkBlue);
        page.personName = QStringLiteral("O'NEILL \"RAVI\" <ŞAHİN>");
        page.birthDate = QStringLiteral("15 August 1947");
        page.birthTime = QStringLiteral("00:00");
        page.birthPlace = QStringLiteral("Delhi, India, 28\u00B0 40\u2032 N 77\u00B0 13\u2032 E");
        page.ascendantLine = QStringLiteral("Ascendant 0\u00B0 53' 36\" Gemini");
        page.cuspNote = QStringLiteral(
            "Near the cusp: born 4 minutes earlier, the rising sign would be Taurus.");
        QString error;
        QVERIFY2(saveResultPdf(path, page, &error), qPrintable(error));

        QVERIFY(run(QStringLiteral("pdfinfo"), {path})
                    .contains(QRegularExpression(QStringLiteral("Pages:\\s+1\\n"))));
        const QString text = squeezed(
            run(QStringLiteral("pdftotext"),
                {QStringLiteral("-enc"), QStringLiteral("UTF-8"), path, QStringLiteral("-")}));
        const SignProfile& p = signProfile(row);
        for (const QString& expected :
             {p.name, page.personName, page.birthDate, page.ascendantLine, page.cuspNote,
              p.luckyGemstone, squeezed(p.nature).trimmed(), squeezed(p.love).trimmed(),
              squeezed(p.career).trimmed()})
            QVERIFY2(text.contains(expected), qPrintable(expected));
    }

    void unwritablePathIsReported()
    {
        ResultPage page;
        page.row = 1;
        QString error;
        QVERIFY(!saveResultPdf(QStringLiteral("/nonexistent-folder/result.pdf"), page, &error));
        QVERIFY(error.contains(QStringLiteral("/nonexistent-folder/result.pdf")));
    }
};

QTEST_MAIN(ResultPageTest)
#include "result_page_test.moc"
