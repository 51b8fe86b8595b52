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
class LingeringServer : public httplib::Server
{
private:
    bool process_and_close_socket(socket_t sock) override;
};
