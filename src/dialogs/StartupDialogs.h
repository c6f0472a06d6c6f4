#pragma once

// The small windows of the start-up: the splash, the log-on of one of two teachers and the
// first-use welcome. These are plain versions; their full windows arrive in a later step.
void ShowSplashScreen();
void UnloadSplashScreen();
// Lets one of the two teachers log on, setting CurrentTeacher and CurrentTeacherName. False when
// the window was closed without a choice: the program then ends.
bool LogOnTeacher();
void ShowFirstUseWelcome();

// Tests choose the teacher (0: the window is closed without a choice) instead of a person.
void SetLogOnChoiceForTests(int teacher);
void ClearLogOnChoiceForTests();

// How long the splash stays up before the program goes on (tests make it zero).
void SetSplashPauseForTests(int milliseconds);
int SplashPause();
