#pragma once

class QWidget;

namespace ui {

// Puts a window in the middle of the screen's free area, at its present size.
void centreOnScreen(QWidget* window);

} // namespace ui
