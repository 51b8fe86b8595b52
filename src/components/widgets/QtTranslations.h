#pragma once

class QCoreApplication;
class QTranslator;

// Qt's own dialogs and texts (the file dialog's "Look in", "Save"...) in
// Traditional Chinese, like the rest of the program. The installed translator
// (owned by the application), or null when Qt's translations are not
// installed; Qt then speaks English.
QTranslator *installQtTranslations(QCoreApplication &application);
