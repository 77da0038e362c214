#include "WebAccess.h"

#include "CurlWebAccess.h"

#include <utility>

namespace {

const std::shared_ptr<CurlWebAccess>& DefaultAccess()
{
    static const auto access = std::make_shared<CurlWebAccess>();
    return access;
}

template <class Service> std::shared_ptr<Service>& Slot()
{
    static std::shared_ptr<Service> installed = DefaultAccess();
    return installed;
}

template <class Service> std::shared_ptr<Service> Install(std::shared_ptr<Service> service)
{
    if (!service)
        service = DefaultAccess();
    return std::exchange(Slot<Service>(), std::move(service));
}

} // namespace

IUrlDownloader& UrlDownloader()
{
    return *Slot<IUrlDownloader>();
}
IHttpGet& HttpGet()
{
    return *Slot<IHttpGet>();
}
IConnectivity& Connectivity()
{
    return *Slot<IConnectivity>();
}
std::shared_ptr<IPageFetch> PageFetch()
{
    return Slot<IPageFetch>();
}

std::shared_ptr<IUrlDownloader> InstallUrlDownloader(std::shared_ptr<IUrlDownloader> service)
{
    return Install(std::move(service));
}

std::shared_ptr<IHttpGet> InstallHttpGet(std::shared_ptr<IHttpGet> service)
{
    return Install(std::move(service));
}

std::shared_ptr<IConnectivity> InstallConnectivity(std::shared_ptr<IConnectivity> service)
{
    return Install(std::move(service));
}

std::shared_ptr<IPageFetch> InstallPageFetch(std::shared_ptr<IPageFetch> service)
{
    return Install(std::move(service));
}
