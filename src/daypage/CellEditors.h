#pragma once

// The Time, Subject and Details editors, opened on the day page's EditRow. They arrive in a
// later step; the day page already calls them.
void ShowEditTime();
void ShowEditSubject();
void ShowEditDetails();
