#pragma once

// Pack To Go: packing the database and settings onto a removable drive and unpacking a newer
// copy back; at start-up the unpack is offered once per run.
void PackToGo();
void UnPack();
void OfferStartupUnPack();
