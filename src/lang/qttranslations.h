#pragma once

// Qt's own texts (standard buttons, file dialogs, the overwrite question) follow the current
// language: its catalogue from Qt's translations replaces the one loaded before. False when
// there is no catalogue for it; Qt's English texts then show.
bool CargarTraduccionesQt();
