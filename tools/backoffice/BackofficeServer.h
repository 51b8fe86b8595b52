#pragma once

#include "LingeringServer.h"

#include <mutex>
#include <string>

class Database;

// The HTTP face of the back office: every POST whose path ends in a known script
// name is answered from the database, on the loopback address only.
class BackofficeServer
{
public:
    explicit BackofficeServer(Database &db);

    // Binds 127.0.0.1:port (0 picks a free port); returns the port, or -1.
    int bind(int port);
    // Serves until stop(); false when the server could not run.
    bool serve();
    void stop();

    // The whole reply body for one request to a script, refusals included.
    std::string answer(const std::string &scriptName, const std::string &body);

private:
    Database &db_;
    // One SQLite connection serves every request in turn.
    std::mutex dbMutex_;
    LingeringServer server_;
};
