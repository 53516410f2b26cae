#include "framework/crash/ReportUpload.h"

#include <cstdlib>

namespace Quib
{

std::string gReportUploadUrl;

namespace
{

const char* const kBoundary = "---------------------------7d3e1f30eec";

void AddPart(std::string& body, const std::string& name, const std::string& value)
{
    body += "--";
    body += kBoundary;
    body += "\r\nContent-Disposition: form-data; name=\"" + name + "\"\r\n\r\n" + value + "\r\n";
}

} // namespace

void ParseUploadAddress(const std::string& address, std::string& host, int& port, std::string& path)
{
    std::string rest = address;
    const size_t scheme = rest.find("//");
    if (scheme != std::string::npos)
        rest = rest.substr(scheme + 2);
    const size_t slash = rest.find('/');
    host = rest.substr(0, slash);
    path = slash == std::string::npos ? "/" : rest.substr(slash);
    port = 80;
    const size_t colon = host.find(':');
    if (colon != std::string::npos)
    {
        port = std::atoi(host.c_str() + colon + 1);
        host.resize(colon);
    }
}

std::string BuildReportBody(const ReportUploadFields& fields)
{
    std::string body;
    for (const auto& [name, value] : fields.mExtraFields)
        AddPart(body, name, value);
    AddPart(body, "prod", fields.mProductName);
    AddPart(body, "version", fields.mProductVersion);
    AddPart(body, "usertext", fields.mUserText);
    AddPart(body, "errortitle", fields.mErrorTitle);
    AddPart(body, "errortext", fields.mErrorText);
    if (fields.mAttachDemo)
    {
        body += "--";
        body += kBoundary;
        body += "\r\nContent-Disposition: form-data; name=\"demofile\"; filename=\"mirvak.dmo\"\r\n"
                "Content-Type: application/octet-stream\r\n\r\n";
        body += fields.mDemoBytes;
        body += "\r\n";
    }
    body += "--";
    body += kBoundary;
    body += "--\r\n";
    return body;
}

std::string BuildReportRequest(const std::string& host, const std::string& body)
{
    return std::string("POST /deluxe_error.php HTTP/1.1\r\nContent-Type: multipart/form-data; boundary=") +
           kBoundary + "\r\nUser-Agent: Mozilla/4.0 (compatible; mirvak)\r\nHost: " + host +
           "\r\nContent-Length: " + std::to_string(body.size()) + "\r\nConnection: close\r\n\r\n" + body;
}

} // namespace Quib
