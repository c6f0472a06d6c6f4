#pragma once

// The Time, Subject and Details editors and the Details magnifier, each shown modal on the day
// page's EditRow.
void ShowEditTime();
void ShowEditSubject();
void ShowEditDetails();
void ShowDetailsMagnify();
