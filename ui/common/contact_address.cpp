#include "ui/common/contact_address.h"

#ifndef TARVEX_CONTACT_ADDRESS
#error "TARVEX_CONTACT_ADDRESS is set by the build"
#endif

QString ContactAddress() {
    return ShownContactAddress(QStringLiteral(TARVEX_CONTACT_ADDRESS));
}

QString ShownContactAddress(const QString& configured) {
    return configured.isEmpty() ? QStringLiteral("aucune adresse définie") : configured;
}
