#include "BackofficeServer.h"
#include "Database.h"
#include "SeedDatabase.h"
#include "SyntheticCustomers.h"
#include "SyntheticProducts.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <thread>
#include <unistd.h>

namespace {

struct Options {
    int port = 0;
    std::string db = ":memory:";
    int products = 0;
    int receiptLines = 0;
    int customers = 0;
    bool stopOnStdinClose = false;
};

const char *const kUsage = "usage: barlabel-backoffice [--port P] [--db FILE] [--products N] [--receipt-lines N]\n"
                           "                           [--customers N] [--stop-on-stdin-close]\n"
                           "  --port P               port on 127.0.0.1 (0, the default, picks a free one)\n"
                           "  --db FILE              use or create this SQLite file (a new one gets the demo data)\n"
                           "                         instead of a fresh in-memory database\n"
                           "  --products N           add N synthetic products (for benchmarks)\n"
                           "  --receipt-lines N      add the purchase receipt PZ00000001 of branch A with N lines\n"
                           "                         over the synthetic products (needs --products)\n"
                           "  --customers N          add N synthetic customers (for benchmarks)\n"
                           "  --stop-on-stdin-close  end when standard input closes (for tests that start it)\n";

bool parseNumber(const char *text, int low, int high, int &value)
{
    char *end = nullptr;
    const long number = std::strtol(text, &end, 10);
    if (end == text || *end != '\0' || number < low || number > high) {
        return false;
    }
    value = int(number);
    return true;
}

bool parseOptions(int argc, char **argv, Options &options)
{
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        const bool hasValue = i + 1 < argc;
        if (arg == "--port" && hasValue) {
            if (!parseNumber(argv[++i], 0, 65535, options.port)) {
                return false;
            }
        } else if (arg == "--db" && hasValue) {
            options.db = argv[++i];
        } else if (arg == "--customers" && hasValue) {
            if (!parseNumber(argv[++i], 0, 10000000, options.customers)) {
                return false;
            }
        } else if (arg == "--products" && hasValue) {
            if (!parseNumber(argv[++i], 0, 10000000, options.products)) {
                return false;
            }
        } else if (arg == "--receipt-lines" && hasValue) {
            if (!parseNumber(argv[++i], 0, 10000000, options.receiptLines)) {
                return false;
            }
        } else if (arg == "--stop-on-stdin-close") {
            options.stopOnStdinClose = true;
        } else {
            return false;
        }
    }
    return options.receiptLines == 0 || options.products > 0;
}

} // namespace

int main(int argc, char **argv)
{
    Options options;
    if (!parseOptions(argc, argv, options)) {
        std::fputs(kUsage, stderr);
        return 2;
    }
    try {
        Database db(options.db);
        seedIfEmpty(db);
        if (options.products > 0) {
            addSyntheticProducts(db, options.products);
        }
        if (options.customers > 0) {
            addSyntheticCustomers(db, options.customers);
        }
        if (options.receiptLines > 0) {
            addSyntheticReceipt(db, options.receiptLines, options.products);
        }
        BackofficeServer server(db);
        const int port = server.bind(options.port);
        if (port < 0) {
            std::fprintf(stderr, "barlabel-backoffice: cannot listen on 127.0.0.1:%d\n", options.port);
            return 1;
        }
        std::printf("listening on 127.0.0.1:%d\n", port);
        std::fflush(stdout);
        if (options.stopOnStdinClose) {
            std::thread([&server] {
                char buffer[256];
                while (read(STDIN_FILENO, buffer, sizeof buffer) > 0) {
                }
                server.stop();
            }).detach();
        }
        return server.serve() ? 0 : 1;
    } catch (const DatabaseError &error) {
        std::fprintf(stderr, "barlabel-backoffice: %s\n", error.what());
        return 1;
    }
}
