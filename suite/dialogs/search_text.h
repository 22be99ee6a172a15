#pragma once

#include <QString>

namespace tmk {

// A text as the dialogs' searches compare it: upper case, without accents ("Água" ->
// "AGUA"), so "joao" finds "João".
QString foldedForSearch(const QString& text);

} // namespace tmk
