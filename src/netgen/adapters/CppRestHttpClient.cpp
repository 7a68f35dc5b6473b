#include "netgen/adapters/CppRestHttpClient.h"

#include <cpprest/http_client.h>

#include <system_error>

namespace quorvel {

namespace {

bool nothingListens(const std::error_code& code) {
  return code == std::errc::connection_refused || code == std::errc::host_unreachable ||
         code == std::errc::network_unreachable;
}

HttpReply failure(HttpReply::Outcome outcome, std::string error) {
  HttpReply reply;
  reply.outcome = outcome;
  reply.error = std::move(error);
  return reply;
}

}  // namespace

HttpReply CppRestHttpClient::get(const std::string& url) {
  try {
    web::http::client::http_client_config config;
    config.set_timeout(timeout_);
    config.set_validate_certificates(false);
    web::http::client::http_client client(web::uri(utility::conversions::to_string_t(url)), config);
    web::http::http_response response = client.request(web::http::methods::GET).get();
    HttpReply reply;
    reply.status = response.status_code();
    reply.body = response.extract_utf8string(true).get();
    if (reply.status != web::http::status_codes::OK) {
      reply.error = "HTTP status " + std::to_string(reply.status);
      return reply;
    }
    reply.outcome = HttpReply::Outcome::Ok;
    return reply;
  } catch (const web::http::http_exception& e) {
    return failure(nothingListens(e.error_code()) ? HttpReply::Outcome::Unreachable : HttpReply::Outcome::Failed,
                   e.what());
  } catch (const pplx::task_canceled&) {
    return failure(HttpReply::Outcome::Failed, "the request was cancelled");
  } catch (const std::exception& e) {
    return failure(HttpReply::Outcome::Failed, e.what());
  }
}

}  // namespace quorvel
