#include "exchange/CurlLibrary.h"

#include <dlfcn.h>
#include <mutex>

namespace {
constexpr char libraryName[] = "libcurl.so.4";

struct Loaded {
    CurlLibrary library;
    bool ok = false;
    QString error;
};

template <class Function>
bool resolve(void *handle, const char *name, Function &function)
{
    function = reinterpret_cast<Function>(::dlsym(handle, name));
    return function != nullptr;
}

Loaded load()
{
    Loaded loaded;
    // Never closed: curl keeps global state for the life of the process.
    void *handle = ::dlopen(libraryName, RTLD_NOW | RTLD_LOCAL);
    if (!handle) {
        loaded.error = QStringLiteral("%1 could not be loaded: %2")
                           .arg(QLatin1String(libraryName), QString::fromLocal8Bit(::dlerror()));
        return loaded;
    }
    CurlLibrary &l = loaded.library;
    const char *missing = nullptr;
    const auto need = [&](const char *name, auto &function) {
        if (!missing && !resolve(handle, name, function)) {
            missing = name;
        }
    };
    need("curl_global_init", l.global_init);
    need("curl_easy_init", l.easy_init);
    need("curl_easy_cleanup", l.easy_cleanup);
    need("curl_easy_setopt", l.easy_setopt);
    need("curl_easy_getinfo", l.easy_getinfo);
    need("curl_easy_strerror", l.easy_strerror);
    need("curl_multi_init", l.multi_init);
    need("curl_multi_cleanup", l.multi_cleanup);
    need("curl_multi_add_handle", l.multi_add_handle);
    need("curl_multi_remove_handle", l.multi_remove_handle);
    need("curl_multi_perform", l.multi_perform);
    need("curl_multi_poll", l.multi_poll);
    need("curl_multi_wakeup", l.multi_wakeup);
    need("curl_multi_info_read", l.multi_info_read);
    need("curl_multi_strerror", l.multi_strerror);
    need("curl_slist_append", l.slist_append);
    need("curl_slist_free_all", l.slist_free_all);
    if (missing) {
        loaded.error = QStringLiteral("%1 is too old: it has no %2 (7.68 or later is needed)")
                           .arg(QLatin1String(libraryName), QLatin1String(missing));
        return loaded;
    }
    if (l.global_init(CURL_GLOBAL_DEFAULT) != CURLE_OK) {
        loaded.error = QStringLiteral("%1 could not be initialised").arg(QLatin1String(libraryName));
        return loaded;
    }
    loaded.ok = true;
    return loaded;
}

const Loaded &loadedOnce()
{
    static std::once_flag once;
    static Loaded loaded;
    std::call_once(once, [] { loaded = load(); });
    return loaded;
}
} // namespace

const CurlLibrary *CurlLibrary::get()
{
    const Loaded &loaded = loadedOnce();
    return loaded.ok ? &loaded.library : nullptr;
}

QString CurlLibrary::loadError()
{
    return loadedOnce().error;
}

CurlLibrary::Preload::Preload()
    : thread_([] { loadedOnce(); })
{}

CurlLibrary::Preload::~Preload()
{
    thread_.join();
}
