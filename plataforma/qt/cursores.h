#pragma once

#include <QCursor>

namespace orvel {

// Cursor do Qt para um código de ponteiro do mouse (0, 2, 5, 6, 11, 13).
QCursor cursor_do_codigo(int codigo);

}  // namespace orvel
