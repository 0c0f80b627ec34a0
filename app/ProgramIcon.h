#pragma once

#include <QIcon>
#include <QPixmap>

// The program's picture, drawn here: a drill bit over a ledger page.
QPixmap programPixmap(int size);
QIcon programIcon();
// Small pictures of the buttons and menu items.
QIcon refreshIcon();
QIcon searchIcon();
