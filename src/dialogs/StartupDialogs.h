#pragma once

// The small windows of the start-up: the splash, the log-on of one of two teachers and the
// first-use welcome.
void ShowSplashScreen();
// Waits the splash's pause with the events flowing, so that a key or a click on its picture
// closes the splash, which ends the pause.
void PauseOnSplash();
void UnloadSplashScreen();
// Lets one of the two teachers log on, setting CurrentTeacher and CurrentTeacherName. False when
// the window was closed without a choice: the caller then ends the program its own way (nothing
// has been written).
bool LogOnTeacher();
// The welcome before the first set-up, modal.
void ShowFirstUseWelcome();

// Tests choose the teacher (0: the window is closed without a choice) instead of a person.
void SetLogOnChoiceForTests(int teacher);
void ClearLogOnChoiceForTests();
// Tests let the welcome be answered at once instead of by a person, and count how often it
// was shown (setting it starts the count again).
void SetWelcomeAnsweredForTests(bool answered);
int WelcomeShownCount();

// How long the splash stays up before the program goes on (tests make it zero).
void SetSplashPauseForTests(int milliseconds);
int SplashPause();
