#pragma once

class modVantile;

// Fields of the image that follow from others and are never edited by the
// user. Storing them is no user change: it marks nothing as changed and is
// kept out of any edit history.
namespace DerivedFields
{

// The caption offset, in twips from the button's left and top edge, that a
// button is drawn with: the offset of its caption font size, or what the
// record holds when the font size is damaged.
int CaptionOffsetX(const modVantile &m, int screen, int n);
int CaptionOffsetY(const modVantile &m, int screen, int n);

// Stores the caption offsets of one button when its caption font size is
// valid (a damaged size keeps what the record holds).
void StoreCaptionOffset(modVantile &m, int screen, int n);

// Stores the derived caption offsets of every drawn button (in use, with a
// picture of the set and a valid caption font size) on all screens, so that
// the saved project holds the offsets its pictures were drawn with.
void StoreCaptionOffsets(modVantile &m);

} // namespace DerivedFields
