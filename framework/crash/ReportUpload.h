#pragma once

#include <map>
#include <string>

namespace Quib
{

// The address crash reports are sent to: a host name, optionally followed by
// a colon and a port, and a path. Empty in this program, so sending is never
// offered.
extern std::string gReportUploadUrl;

// What the upload form carries.
struct ReportUploadFields
{
    std::map<std::string, std::string> mExtraFields; // the application's own, sent first
    std::string mProductName;
    std::string mProductVersion;
    std::string mUserText;
    std::string mErrorTitle;
    std::string mErrorText;
    bool mAttachDemo = false;
    std::string mDemoBytes;
};

// Splits an upload address: an optional scheme ending in "//", the host up to
// the next "/" (with an optional ":port", 80 otherwise) and the path from
// that "/" on ("/" when there is none).
void ParseUploadAddress(const std::string& address, std::string& host, int& port, std::string& path);

// The multipart form body and the whole request that carries it to `host`.
std::string BuildReportBody(const ReportUploadFields& fields);
std::string BuildReportRequest(const std::string& host, const std::string& body);

} // namespace Quib
