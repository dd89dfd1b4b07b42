#pragma once

class QWidget;

namespace KeepOnTop
{
// Puts a top-level window above the others for good and brings it to the
// front. Changing the flag recreates the native window, which hides it: it is
// shown again at the same place and size, in the same state.
void apply(QWidget *window);
}
