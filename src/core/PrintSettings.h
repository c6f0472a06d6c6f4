#pragma once

#include <QString>
#include <QtGlobal>

struct ProgramState;

// The print settings of the teacher logged on, kept in their "Settings\Effects" & n section:
// item, orientation, font choice, the four margins in twips, notes and the two underlines.

// Reads the ten settings, each with its default. A value the dialog could not show (an item
// outside 0..3, a margin outside what the up-downs reach) reads as its default or its limit.
void LoadPrintSettings(ProgramState& g);
// Writes the ten settings in the order Item, Orientation, PRFont, MarginTop, MarginBtm,
// MarginLeft, MarginRight, PRNotes, ULHeading, ULTimeSubject.
void SavePrintSettings(const ProgramState& g);
// The settings as a new teacher has them (nothing is saved).
void RestorePrintSettingDefaults(ProgramState& g);
// The standard print fonts: the heading "Arial" 16 bold, the time/subject lines "Arial" 14 bold.
void UseDefaultPrintFonts(ProgramState& g);

// Margins are shown in inches and stepped in tenths of an inch (0 to 50); they are held in
// twips. Numbers are written in the locale's form and read back the same way.
inline constexpr int kMarginTenthsMax = 50;
double MarginTenths(qint32 marginTwips);
QString MarginNumberText(double value);
// The number a margin box holds; false when it holds none.
bool MarginNumberFromText(const QString& text, double* value);
// Tenths to the inches shown, and the inches shown to the margin in twips.
QString MarginInchesText(double tenths);
qint32 MarginTwipsFromInches(const QString& inchesText);

// The copies to print for what the copies box holds: its number rounded to a whole one, none
// for a number below one or for what is not a number, and at most ten.
inline constexpr int kMaxCopies = 10;
int CopiesToPrint(const QString& text);

// Whether the margins leave any room on a page of this size (twips).
bool MarginsLeaveRoom(qint32 pageWidth, qint32 pageHeight, const ProgramState& g);
