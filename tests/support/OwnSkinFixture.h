#pragma once
// Base of the test suites that work on the program's own skin: loads it once per
// suite the way the program does, through the skin module, and looks its entries
// up by name and class, failing loudly when one is missing or of another type.

#include "Bsskindata.h"
#include "SkinCtrlDM.h"

#include <gtest/gtest.h>

#include <QImage>

#include <memory>
#include <stdexcept>
#include <string>

class OwnSkinFixture : public ::testing::Test {
protected:
    static void SetUpTestSuite() { module_ = std::make_unique<TSkinCtrlModule>(); }
    static void TearDownTestSuite() { module_.reset(); }

    static const TSkinCtrlModule& Module() { return *module_; }
    static const TbsSkinData& Skin() { return *module_->bsSkinData1; }

    template <typename T> static const T& Control(const std::string& name)
    {
        if (Skin().GetControlIndex(name) < 0)
            throw std::runtime_error("no control skin " + name);
        auto* control = Skin().FindControl<T>(name);
        if (!control)
            throw std::runtime_error("control skin " + name + " has the wrong class");
        return *control;
    }

    template <typename T> static const T& Object(const std::string& name)
    {
        if (Skin().GetIndex(name) < 0)
            throw std::runtime_error("no skin object " + name);
        auto* object = Skin().FindObject<T>(name);
        if (!object)
            throw std::runtime_error("skin object " + name + " has the wrong class");
        return *object;
    }

    static const QImage& Library(int index)
    {
        const QImage* picture = Skin().GetActivePicture(index);
        if (!picture)
            throw std::runtime_error("no library picture " + std::to_string(index));
        return *picture;
    }

private:
    static inline std::unique_ptr<TSkinCtrlModule> module_;
};
