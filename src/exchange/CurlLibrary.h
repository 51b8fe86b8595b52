#pragma once

#include <QString>

#include <curl/curl.h>
#include <thread>

// libcurl, loaded when the first exchange needs it instead of when the
// program starts: it brings two dozen shared libraries (TLS, SSH, LDAP,
// Kerberos) that a window does not need in order to appear.
struct CurlLibrary {
    decltype(&curl_global_init) global_init = nullptr;
    decltype(&curl_easy_init) easy_init = nullptr;
    decltype(&curl_easy_cleanup) easy_cleanup = nullptr;
    decltype(&curl_easy_setopt) easy_setopt = nullptr;
    decltype(&curl_easy_getinfo) easy_getinfo = nullptr;
    decltype(&curl_easy_strerror) easy_strerror = nullptr;
    decltype(&curl_multi_init) multi_init = nullptr;
    decltype(&curl_multi_cleanup) multi_cleanup = nullptr;
    decltype(&curl_multi_add_handle) multi_add_handle = nullptr;
    decltype(&curl_multi_remove_handle) multi_remove_handle = nullptr;
    decltype(&curl_multi_perform) multi_perform = nullptr;
    decltype(&curl_multi_poll) multi_poll = nullptr;
    decltype(&curl_multi_wakeup) multi_wakeup = nullptr;
    decltype(&curl_multi_info_read) multi_info_read = nullptr;
    decltype(&curl_multi_strerror) multi_strerror = nullptr;
    decltype(&curl_slist_append) slist_append = nullptr;
    decltype(&curl_slist_free_all) slist_free_all = nullptr;

    // Loaded and initialised once, by whichever thread asks first (the others
    // wait for it); null when it cannot be loaded, and loadError() says why.
    static const CurlLibrary *get();
    static QString loadError();

    // Loads the library on a thread of its own while the caller goes on
    // building its windows, so the first exchange finds it ready; waits for
    // that thread when it goes.
    class Preload
    {
    public:
        Preload();
        ~Preload();
        Preload(const Preload &) = delete;
        Preload &operator=(const Preload &) = delete;

    private:
        std::thread thread_;
    };
};
