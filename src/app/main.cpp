// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/startup.h"

#include <QApplication>
#include <QCommandLineParser>

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    zenthra::describeApplication();
    // --help and --version answer on the terminal and end; the window takes
    // no other options.
    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral(
        "Finds the rising sign (ascendant) of a birth from its date, time and place."));
    parser.addHelpOption();
    parser.addVersionOption();
    parser.process(app);
    return zenthra::runProgram();
}
