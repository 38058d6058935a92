#pragma once
#include "drawing/art_image.h"

// The next-move buttons for buttons of size x size pixels, drawn as the shipped sheet
// is: the four images side by side, raised faces in the upper half and pressed faces in
// the lower half. At 32 pixels this is the shipped picture.
ArtImage DrawButtonSheet(int size);
