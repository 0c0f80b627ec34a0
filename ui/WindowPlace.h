#pragma once

class QMainWindow;
class QStatusBar;
class QWidget;

namespace ui {

// The body of a data window, top to bottom: a header panel, the grid taking the rest of the
// height, a footer panel; then an empty status bar, which is returned.
QStatusBar* stackDataWindow(QMainWindow* window, QWidget* header, QWidget* grid, QWidget* footer);

// Puts a window in the middle of the screen's free area, at its present size.
void centreOnScreen(QWidget* window);

} // namespace ui
