#include "WebAccess.h"

#include "CurlWebAccess.h"
#include "ServiceSlot.h"

#include <utility>

namespace {

const std::shared_ptr<CurlWebAccess>& DefaultAccess()
{
    static const auto access = std::make_shared<CurlWebAccess>();
    return access;
}

// Never destroyed: a worker may still ask for a service while the program ends.
template <class Service> ServiceSlot<Service>& Slot()
{
    static auto* slot = new ServiceSlot<Service>(DefaultAccess());
    return *slot;
}

template <class Service> std::shared_ptr<Service> Install(std::shared_ptr<Service> service)
{
    if (!service)
        service = DefaultAccess();
    return Slot<Service>().Exchange(std::move(service));
}

} // namespace

std::shared_ptr<IUrlDownloader> UrlDownloader()
{
    return Slot<IUrlDownloader>().Get();
}
std::shared_ptr<IHttpGet> HttpGet()
{
    return Slot<IHttpGet>().Get();
}
std::shared_ptr<IConnectivity> Connectivity()
{
    return Slot<IConnectivity>().Get();
}
std::shared_ptr<IPageFetch> PageFetch()
{
    return Slot<IPageFetch>().Get();
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
