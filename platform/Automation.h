// SPDX-License-Identifier: GPL-3.0-or-later
// The automation runtime through which another program starts this one and keeps its
// window open.
#pragma once

namespace platform {

class IAutomationRuntime {
  public:
    virtual ~IAutomationRuntime() = default;
    // False when the runtime cannot be initialised.
    virtual bool Initialise() = 0;
    // The process was started by the runtime: serve one object. Called only after
    // Initialise succeeded.
    virtual void RegisterFactoryRunning() = 0;
    // The process was started by the user: refresh the class registration (also when
    // Initialise failed).
    virtual void WriteRegistration() = 0;
};

// A platform without an automation runtime.
class NoAutomationRuntime : public IAutomationRuntime {
  public:
    bool Initialise() override { return true; }
    void RegisterFactoryRunning() override {}
    void WriteRegistration() override {}
};

}  // namespace platform
