// The HTTP side: a cpprestsdk listener in front of the Service, one log line
// per request on stderr.
#pragma once

#include <string>

#include "server/Service.h"

namespace quorvel::server {

// Listens on "ADDR:PORT" until SIGINT or SIGTERM; prints a ready line once
// requests are accepted. Returns the process exit code.
int serveUntilSignalled(const Service& service, const std::string& listen, std::size_t models);

// "http://ADDR:PORT/" for "ADDR:PORT"; empty when the text is not of that form.
std::string listenUrl(const std::string& listen);

}  // namespace quorvel::server
