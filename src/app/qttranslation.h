// Qt's own texts (standard buttons, file dialogs) in French.
#pragma once

// Installs Qt's French translations from the folder of the Qt installation
// into the running application; false when they are not installed, in which
// case Qt's texts stay in English.
bool InstallQtFrench();
