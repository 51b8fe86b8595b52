#pragma once

#include <httplib.h>

// An httplib server that drains a connection before closing it.
//
// The label program counts its request body without the CR LF it sends after
// it. httplib reads exactly Content-Length bytes and closes the socket with
// those two bytes unread, and the kernel then resets the connection, which can
// destroy the tail of a large reply still on its way to the client. Here each
// connection is served by the same request processing, then shut down for
// writing and read until the client closes (or a short time passes).
//
// The same client leaves Content-Length out when its body is empty and then
// sends only that CR LF; httplib would wait for the connection to close. A POST
// without Content-Length (and not chunked) is taken to have an empty body, as
// HTTP/1.0 requires a length on every POST that carries one.
class LingeringServer : public httplib::Server
{
private:
    bool process_and_close_socket(socket_t sock) override;
};
