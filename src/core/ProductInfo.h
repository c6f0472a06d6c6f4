#pragma once

#include <QString>

// The texts the start-up dialogs and the about box show about the program itself, and the
// maker's addresses. Line breaks are CR LF, as in every message of the program.

// "Version " & major & "." & minor.
QString VersionText();
// The legal notice, and the copyright notice of a year (the current one where it is shown).
QString LegalNotice();
QString YearNotice(int year);

QString MakerMailAddress();
// The mail link the about box opens: the maker's address with the product name as subject.
QString MakerMailLink();
QString MakerWebAddress();

// The about box's texts.
QString AboutDescription();
QString AboutThankYou();
QString CreditsText();
// The read-me beside the program: a page any desktop shows with its default viewer.
QString ReadMePath();

// The log-on prompt and the first-use welcome's texts.
QString LogOnPrompt();
QString WelcomeCaption();
// Index 0..2 of the welcome's description labels.
QString WelcomeDescription(int index);
