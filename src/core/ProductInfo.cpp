#include "ProductInfo.h"

#include "Message.h"
#include "platform/ProgramFolder.h"

#include <QDir>

namespace {
const QString kCrLf = QStringLiteral("\r\n");
}

QString VersionText() {
    return QStringLiteral("Version %1.%2").arg(QLM_VERSION_MAJOR).arg(QLM_VERSION_MINOR);
}

QString LegalNotice() {
    return QStringLiteral("%1 and its pictures are protected by copyright law.").arg(ProductName());
}

QString YearNotice(int year) {
    return QStringLiteral("Copyright \u00A9 %1 VNT. All rights reserved.").arg(year, 4, 10, QLatin1Char('0'));
}

QString MakerMailAddress() {
    return QStringLiteral("quillmarsh@example.org");
}

QString MakerMailLink() {
    return QStringLiteral("mailto:") + MakerMailAddress() + QStringLiteral("?subject=") + ProductName();
}

QString MakerWebAddress() {
    return QStringLiteral("https://quillmarsh.example.org/");
}

QString AboutDescription() {
    return QStringLiteral("This program is designed to be used as a Day Plan Book"
                          " by teachers. After doing a quick annual setup of the School Year and"
                          " creating a TimeTable the Quillmarsh is ready to use to keep track of"
                          " daily lesson plans and assignments.");
}

QString AboutThankYou() {
    return QStringLiteral("Please report any problems or ideas for"
                          " new features to the email address shown above.") +
           kCrLf + QStringLiteral("Thank you for your consideration.");
}

QString CreditsText() {
    return QStringLiteral("Many thanks to Menu Works for") + kCrLf +
           QStringLiteral("the use of MenuExtended to enhance") + kCrLf +
           QStringLiteral("the Main Menu Styles and Colours.") + kCrLf + kCrLf +
           QStringLiteral("menuworks@example.net") + kCrLf + QStringLiteral("https://menuworks.example.net/");
}

QString ReadMePath() {
    return QDir::cleanPath(ProgramFolder() + QStringLiteral("/ReadMe.html"));
}

QString LogOnPrompt() {
    return QStringLiteral("Click your name to Log On...");
}

QString WelcomeCaption() {
    return QStringLiteral("Welcome to ") + ProductName();
}

QString WelcomeDescription(int index) {
    switch (index) {
    case 0:
        return QStringLiteral("After clicking OK you will be presented with...");
    case 1:
        return QStringLiteral("The Setup Dialog where you must enter the"
                              " name of the Teacher(s) who will use this program, the type of School"
                              " Day Cycle, and the School Days you are responsible to teach.") +
               kCrLf + kCrLf +
               QStringLiteral("You must also enter the School Year Term Dates,"
                              " Holiday and Inservice Dates, and your TimeTable information.") +
               kCrLf + kCrLf +
               QStringLiteral("Please try to have this information available during Setup since"
                              " these steps are required before you will be able to use the ") +
               ProductName() + QStringLiteral(" program.") + kCrLf + kCrLf +
               QStringLiteral("If you cancel Setup you can run it again by choosing 'Tools>Setup'"
                              " from the Main Menu.");
    case 2:
        return QStringLiteral("This message will not appear again after clicking OK.");
    default:
        return QString();
    }
}
