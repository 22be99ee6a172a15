#pragma once

#include <Qt>
#include <span>

namespace tmk {

class TfrmGerMesa;

// One row of the screen's command table: a command button (by objectName; none for a key
// of the screen itself), one of its keys, whether that key counts only with Alt as the
// only modifier held (the other keys act whatever modifiers are held), whether the key
// acts only while the button is enabled, and the command it runs. A button with two keys
// has two rows; a touch on the button runs the command of its first row.
struct CommandRoute {
    const char* botao;
    int tecla;
    bool soComAlt;
    bool soHabilitado;
    void (TfrmGerMesa::*comando)();
};

// The whole table, in the order keys are looked up.
std::span<const CommandRoute> commandRoutes();
// The row of a key pressed with these modifiers; nullptr when the key is not a command.
const CommandRoute* routeForKey(int key, Qt::KeyboardModifiers modifiers);
// The first row of a button; nullptr for a button the table does not know.
const CommandRoute* routeForButton(const char* botao);

} // namespace tmk
