#pragma once

// Pack To Go: offering, once per run, to unpack a newer copy from the removable drive.
void OfferStartupUnPack();
