#include "lisp_call.h"

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <limits>
#include <vector>

namespace acadhost {
namespace {

struct Token {
  bool quoted = false;
  std::string text;
};

bool isSpace(char c) { return c == ' ' || c == '\t' || c == '\r'; }

// Reads a "..." string starting at line[pos] (the quote); false when unterminated.
bool readString(const std::string& line, std::size_t& pos, std::string& text) {
  for (++pos; pos < line.size(); ++pos) {
    char c = line[pos];
    if (c == '"') {
      ++pos;
      return true;
    }
    if (c == '\\' && pos + 1 < line.size()) {
      c = line[++pos];
      if (c == 'n') c = '\n';
      if (c == 't') c = '\t';
    }
    text += c;
  }
  return false;
}

// The words between the parentheses; false (with `error`) when malformed.
bool tokenize(const std::string& body, std::vector<Token>& tokens, std::string& error) {
  std::size_t pos = 0;
  while (pos < body.size()) {
    if (isSpace(body[pos])) {
      ++pos;
    } else if (body[pos] == '"') {
      Token token{true, ""};
      if (!readString(body, pos, token.text)) return error = "unterminated string", false;
      tokens.push_back(token);
    } else if (body[pos] == '(' || body[pos] == ')' || body[pos] == '\'') {
      return error = "nested lists are not supported", false;
    } else {
      const std::size_t start = pos;
      while (pos < body.size() && !isSpace(body[pos]) && body[pos] != '"') ++pos;
      tokens.push_back({false, body.substr(start, pos - start)});
    }
  }
  return true;
}

std::string upper(std::string text) {
  for (char& c : text) c = static_cast<char>(c >= 'a' && c <= 'z' ? c - 32 : c);
  return text;
}

// One argument as a list node.
resbuf* argumentNode(const Token& token) {
  if (token.quoted) return acutBuildList(RTSTR, token.text.c_str(), 0);
  if (upper(token.text) == "NIL") return acutBuildList(RTNIL, 0);
  if (upper(token.text) == "T") return acutBuildList(RTT, 0);
  char* end = nullptr;
  errno = 0;
  const long long integer = std::strtoll(token.text.c_str(), &end, 10);
  if (*end == '\0' && errno == 0) {
    if (integer >= std::numeric_limits<short>::min() && integer <= std::numeric_limits<short>::max()) {
      return acutBuildList(RTSHORT, static_cast<int>(integer), 0);
    }
    if (integer >= std::numeric_limits<int>::min() && integer <= std::numeric_limits<int>::max()) {
      return acutBuildList(RTLONG, static_cast<int>(integer), 0);
    }
  }
  const double real = std::strtod(token.text.c_str(), &end);
  if (*end == '\0' && !token.text.empty()) return acutBuildList(RTREAL, real, 0);
  return nullptr;  // a symbol: this host evaluates no variables
}

std::string quoted(const char* text) {
  std::string out = "\"";
  for (const char* p = text ? text : ""; *p; ++p) {
    if (*p == '"' || *p == '\\') out += '\\';
    out += *p;
  }
  return out + "\"";
}

std::string formatAtom(const resbuf* node) {
  switch (node->restype) {
    case RTSTR: return quoted(node->resval.rstring);
    case RTSHORT: return std::to_string(node->resval.rint);
    case RTLONG: return std::to_string(node->resval.rlong);
    case RTREAL:
    case RTANG: {
      char buffer[64];
      std::snprintf(buffer, sizeof buffer, "%g", node->resval.rreal);
      return buffer;
    }
    case RTPOINT:
    case RT3DPOINT: {
      char buffer[128];
      std::snprintf(buffer, sizeof buffer, "(%g %g %g)", node->resval.rpoint[0], node->resval.rpoint[1],
                    node->resval.rpoint[2]);
      return buffer;
    }
    case RTNIL: return "nil";
    case RTT: return "T";
    case RTENAME: return "<Entity name>";
    case RTPICKS: return "<Selection set>";
    default: return "<" + std::to_string(node->restype) + ">";
  }
}

}  // namespace

bool isLispCall(const std::string& line) { return !line.empty() && line.front() == '('; }

resbuf* parseLispCall(const std::string& line, std::string& error) {
  if (!isLispCall(line)) return error = "a call is written (NAME ARGUMENTS...)", nullptr;
  const bool closed = line.size() > 1 && line.back() == ')';
  std::vector<Token> tokens;
  if (!tokenize(line.substr(1, closed ? line.size() - 2 : std::string::npos), tokens, error)) return nullptr;
  if (!closed) return error = "missing closing parenthesis", nullptr;
  if (tokens.empty() || tokens.front().quoted) return error = "the call names no function", nullptr;
  resbuf* call = acutBuildList(RTSTR, tokens.front().text.c_str(), 0);
  resbuf* tail = call;
  for (std::size_t i = 1; i < tokens.size() && tail != nullptr; ++i) {
    tail->rbnext = argumentNode(tokens[i]);
    if (tail->rbnext == nullptr) {
      acutRelRb(call);
      return error = "unsupported argument " + tokens[i].text, nullptr;
    }
    tail = tail->rbnext;
  }
  return call;
}

std::string formatLispValue(const resbuf* value) {
  if (value == nullptr) return "nil";
  if (value->rbnext == nullptr) return formatAtom(value);
  std::string out;
  for (const resbuf* node = value; node != nullptr; node = node->rbnext) {
    if (node->restype == RTLB) {
      out += out.empty() || out.back() == '(' ? "(" : " (";
    } else if (node->restype == RTLE) {
      out += ")";
    } else {
      out += (out.empty() || out.back() == '(' ? "" : " ") + formatAtom(node);
    }
  }
  return value->restype == RTLB ? out : "(" + out + ")";
}

}  // namespace acadhost
