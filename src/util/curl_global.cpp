#include "curl_global.h"

#include <curl/curl.h>

#include <mutex>

namespace tamsel {

void ensureCurlInitialised()
{
    static std::once_flag once;
    std::call_once(once, [] { curl_global_init(CURL_GLOBAL_DEFAULT); });
}

} // namespace tamsel
