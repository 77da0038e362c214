#pragma once
// An X server (Xvfb) of its own for one test, stopped at the end; none when
// Xvfb is not installed. Kept apart from Qt: Xlib's macros clash with its names.

#include <string>

#include <sys/types.h>

class PrivateXServer {
public:
    PrivateXServer();
    ~PrivateXServer();
    PrivateXServer(const PrivateXServer&) = delete;
    PrivateXServer& operator=(const PrivateXServer&) = delete;

    // ":N", or empty when no server runs.
    const std::string& Display() const { return display_; }

private:
    pid_t pid_ = 0;
    std::string display_;
};
