#include "platform/headless/program_hosts.h"

namespace morvessa {

ProgramHosts ProgramHosts::start(const Options& options) {
  ProgramHosts hosts;
  hosts.endpoints_ = endpoints_from(options);
  return hosts;
}

}  // namespace morvessa
