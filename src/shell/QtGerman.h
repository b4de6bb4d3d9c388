#pragma once

class QCoreApplication;

// Qt's own texts in German (file, colour and message dialogs: "Abbrechen", "Suchen in:"), from the
// translations Qt installs (qtbase_de.qm). False when they are not there; the dialogs then stay English.
bool installQtGerman(QCoreApplication& app);
