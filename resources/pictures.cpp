#include "resources/pictures.h"

#include <QtCore/qglobal.h>

// Q_INIT_RESOURCE must be called from the global namespace.
static void initTarvexPictures() {
    Q_INIT_RESOURCE(tarvex_pictures);
}

namespace tarvex::pictures {

void ensureLoaded() {
    initTarvexPictures();
}

} // namespace tarvex::pictures
