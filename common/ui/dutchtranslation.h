#pragma once

class QCoreApplication;

namespace velmora {

// Qt's own texts (file and print dialogs, context menus) in Dutch.
class DutchTranslation
{
public:
    static void install(QCoreApplication& app);
};

} // namespace velmora
