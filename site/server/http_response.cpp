#include "http_response.h"

namespace site_server {

std::string_view reason_phrase(int status) {
  switch (status) {
    case 200:
      return "OK";
    case 400:
      return "Bad Request";
    case 403:
      return "Forbidden";
    case 404:
      return "Not Found";
    case 405:
      return "Method Not Allowed";
    case 408:
      return "Request Timeout";
    case 413:
      return "Content Too Large";
    case 431:
      return "Request Header Fields Too Large";
    default:
      return "Internal Server Error";
  }
}

Response error_response(int status) {
  Response response;
  response.status = status;
  response.content_type = "text/html; charset=utf-8";
  const std::string title = std::to_string(status) + " " + std::string(reason_phrase(status));
  const char* text = status == 404   ? "Cette page n’existe pas sur ce site."
                     : status == 403 ? "Accès refusé."
                     : status == 408 ? "La requête est arrivée trop lentement."
                                     : "Requête incorrecte.";
  response.body = "<!DOCTYPE html>\n<html lang=\"fr\"><head><meta charset=\"utf-8\"><title>" +
                  title + "</title></head><body><h1>" + title + "</h1><p>" + text +
                  "</p></body></html>\n";
  return response;
}

std::string response_head(const Response& response, bool keep_alive) {
  std::string head = "HTTP/1.1 " + std::to_string(response.status) + " " +
                     std::string(reason_phrase(response.status)) + "\r\n";
  if (!response.content_type.empty()) head += "Content-Type: " + response.content_type + "\r\n";
  head += "Content-Length: " + std::to_string(response.content_length()) + "\r\n";
  head += "Cache-Control: no-store\r\n";
  if (response.status == 405) head += "Allow: GET, HEAD\r\n";
  head += keep_alive ? "Connection: keep-alive\r\n" : "Connection: close\r\n";
  head += "\r\n";
  return head;
}

}  // namespace site_server
