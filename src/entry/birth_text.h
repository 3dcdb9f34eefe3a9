// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QList>
#include <QString>

namespace zenthra {

struct Birth;

// "28° 40′ N 77° 13′ E"
QString coordinatesText(const Birth& birth);

// What tells births of one name apart, for the lists that show them:
// "15 August 1947, 00:00, Delhi, India, 28° 40′ S 77° 13′ E".
QString distinguishingText(const Birth& birth);

// For each birth of the list: whether another one of it bears the same name
// (blanks around it and case ignored), so that its name alone would not say
// which it is.
QList<bool> namesShared(const QList<Birth>& births);

} // namespace zenthra
