// Edit-menu commands of the main window: object creation, clearing the
// screen, the grid and snapping. Their menu items exist with their captions,
// shortcuts and check marks; the commands themselves are still to come.
#include "editor/frmVantile.h"

void frmVantile::mnuNewButton_Click() {}

void frmVantile::mnuNewPilot_Click() {}

void frmVantile::mnuNewSlider_Click() {}

void frmVantile::mnuNewText_Click() {}

void frmVantile::mnuClearScreen_Click() {}

void frmVantile::mnuShowGrid_Click() {}

// The check marks of the size and colour items are kept by their action groups.
void frmVantile::mnuGridSize_Click(int) {}

void frmVantile::mnuGridColor_Click(int) {}

void frmVantile::mnuSnapToGrid_Click() {}

void frmVantile::mnuUndoSnap_Click() {}
