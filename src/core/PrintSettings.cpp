#include "PrintSettings.h"

#include "ProgramState.h"
#include "TeacherSettings.h"
#include "platform/Rounding.h"
#include "platform/SettingsStore.h"

#include <QLocale>

#include <algorithm>
#include <cmath>

namespace {
constexpr qint32 kDefaultMargin = 720;
constexpr qint32 kMaxMargin = kMarginTenthsMax * 144;

qint32 ReadMargin(const QString& section, const QString& key) {
    return std::clamp(ReadLong(section, key, kDefaultMargin), 0, kMaxMargin);
}

QLocale NumberLocale() {
    QLocale locale;
    locale.setNumberOptions(QLocale::OmitGroupSeparator);
    return locale;
}
} // namespace

void LoadPrintSettings(ProgramState& g) {
    const QString section = EffectsSection(g.CurrentTeacher);
    g.PrintItem = ReadInt(section, QStringLiteral("Item"), 0);
    if (g.PrintItem < 0 || g.PrintItem > 3) {
        g.PrintItem = 0;
    }
    g.PrintOrientation = ReadInt(section, QStringLiteral("Orientation"), 1);
    g.PRFont = ReadInt(section, QStringLiteral("PRFont"), 0) == 1 ? 1 : 0;
    g.MarginTop = ReadMargin(section, QStringLiteral("MarginTop"));
    g.MarginBtm = ReadMargin(section, QStringLiteral("MarginBtm"));
    g.MarginLeft = ReadMargin(section, QStringLiteral("MarginLeft"));
    g.MarginRight = ReadMargin(section, QStringLiteral("MarginRight"));
    g.PRNotes = ReadBool(section, QStringLiteral("PRNotes"), true);
    g.ULHeading = ReadBool(section, QStringLiteral("ULHeading"), false);
    g.ULTimeSubject = ReadBool(section, QStringLiteral("ULTimeSubject"), false);
}

void SavePrintSettings(const ProgramState& g) {
    const QString section = EffectsSection(g.CurrentTeacher);
    SettingsStore::BeginBatch(); // one write of the settings file
    SaveInt(section, QStringLiteral("Item"), g.PrintItem);
    SaveInt(section, QStringLiteral("Orientation"), g.PrintOrientation);
    SaveInt(section, QStringLiteral("PRFont"), g.PRFont);
    SaveInt(section, QStringLiteral("MarginTop"), g.MarginTop);
    SaveInt(section, QStringLiteral("MarginBtm"), g.MarginBtm);
    SaveInt(section, QStringLiteral("MarginLeft"), g.MarginLeft);
    SaveInt(section, QStringLiteral("MarginRight"), g.MarginRight);
    SaveBool(section, QStringLiteral("PRNotes"), g.PRNotes);
    SaveBool(section, QStringLiteral("ULHeading"), g.ULHeading);
    SaveBool(section, QStringLiteral("ULTimeSubject"), g.ULTimeSubject);
    SettingsStore::EndBatch(); // a failure is reported by the store
}

void RestorePrintSettingDefaults(ProgramState& g) {
    g.PrintItem = 0;
    g.PrintOrientation = 1;
    g.PRFont = 0;
    g.MarginTop = kDefaultMargin;
    g.MarginBtm = kDefaultMargin;
    g.MarginLeft = kDefaultMargin;
    g.MarginRight = kDefaultMargin;
    g.PRNotes = true;
    g.ULHeading = false;
    g.ULTimeSubject = false;
}

void UseDefaultPrintFonts(ProgramState& g) {
    g.HeadFontName = QStringLiteral("Arial");
    g.HeadFontSize = 16;
    g.HeadFontBold = true;
    g.HeadFontItalic = false;
    g.TSFontName = QStringLiteral("Arial");
    g.TSFontSize = 14;
    g.TSFontBold = true;
    g.TSFontItalic = false;
}

double MarginTenths(qint32 marginTwips) {
    return marginTwips / 1440.0 * 10;
}

QString MarginNumberText(double value) {
    return NumberLocale().toString(value, 'g', 15);
}

bool MarginNumberFromText(const QString& text, double* value) {
    bool ok = false;
    const double number = NumberLocale().toDouble(text.trimmed(), &ok);
    if (ok && std::isfinite(number)) {
        *value = number;
        return true;
    }
    return false;
}

QString MarginInchesText(double tenths) {
    return MarginNumberText(tenths / 10);
}

qint32 MarginTwipsFromInches(const QString& inchesText) {
    double inches = 0;
    if (!MarginNumberFromText(inchesText, &inches)) {
        return 0;
    }
    return CLng(std::clamp(inches, 0.0, kMarginTenthsMax / 10.0) * 1440);
}

int CopiesToPrint(const QString& text) {
    const QString trimmed = text.trimmed();
    bool ok = false;
    double copies = QLocale::c().toDouble(trimmed, &ok);
    if (!ok) {
        copies = QLocale().toDouble(trimmed, &ok);
    }
    if (!ok || !std::isfinite(copies)) {
        return 0;
    }
    return std::clamp(CLng(std::clamp(copies, 0.0, double(kMaxCopies))), 0, kMaxCopies);
}

bool MarginsLeaveRoom(qint32 pageWidth, qint32 pageHeight, const ProgramState& g) {
    return qint64(g.MarginLeft) + g.MarginRight < pageWidth && qint64(g.MarginTop) + g.MarginBtm < pageHeight;
}
