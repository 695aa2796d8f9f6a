#include "Schannel.h"

namespace platform {

SystemLibrary& SecurityLibrary() {
    static SystemLibrary library("secur32.dll");
    return library;
}

const SecurityFunctionTableA& SecurityFunctions() {
    static const SecurityFunctionTableA* const table = [] {
        const auto init = SecurityLibrary().Get<INIT_SECURITY_INTERFACE_A>("InitSecurityInterfaceA");
        const SecurityFunctionTableA* functions = init();
        if (!functions || !functions->AcquireCredentialsHandleA || !functions->InitializeSecurityContextA ||
            !functions->QueryContextAttributesA || !functions->DeleteSecurityContext ||
            !functions->FreeCredentialsHandle || !functions->FreeContextBuffer)
            throw MissingSystemFunction("secur32.dll has no complete security function table");
        return functions;
    }();
    return *table;
}

}  // namespace platform
