#pragma once

#include <QIcon>

// The pictures of the picture buttons of the registers and the anniversary list.
enum class RegisterIcon { Add, DeleteChosen, DeleteAll, Anniversary };
QIcon registerIcon(RegisterIcon kind);
