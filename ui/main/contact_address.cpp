#include "contact_address.h"

#ifndef TARVEX_CONTACT_ADDRESS
#error "TARVEX_CONTACT_ADDRESS is set by the build"
#endif

QString ContactAddress() {
    return QStringLiteral(TARVEX_CONTACT_ADDRESS);
}
