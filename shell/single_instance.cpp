#include "shell/single_instance.h"

#include "platform/platform.h"

bool acquire_single_instance() {
  return create_named_guard("EVENT_NAME_HERE") != GuardResult::AlreadyExists;
}
