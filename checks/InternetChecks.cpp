#include "InternetChecks.h"

#ifndef QT_APP_HOST
#error "QT_APP_HOST (the vendor's public web server) is set by the build"
#endif
#ifndef QT_DATA_HOST
#error "QT_DATA_HOST (the vendor's web-service host) is set by the build"
#endif

std::string AppUrl() { return std::string("http://") + QT_APP_HOST + std::string(kAppPath); }

std::string DataUrl() { return std::string("https://") + QT_DATA_HOST + std::string(kDataPath); }
