#pragma once

namespace vornel {

// Twips (1/1440 inch) to pixels and back, through the primary screen's logical resolution:
// window positions and sizes are stored and laid out in twips.
int twipsToPixelsX(int twips);
int twipsToPixelsY(int twips);
int pixelsToTwipsX(int pixels);
int pixelsToTwipsY(int pixels);

} // namespace vornel
