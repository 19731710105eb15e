// The mapping of a guarded call's fault code onto the host's status word.
#include "entry/status_mapping.h"

#include "include/markers.h"

int64_t MapFaultCode(EntryKind entry, uint32_t fault_code, int64_t host_status) {
  if (entry == EntryKind::kExecute) return host_status;
  if (fault_code == 1000)
    return entry == EntryKind::kInput || entry == EntryKind::kOutput ? HOST_STATUS_FAILED
                                                                     : host_status;
  if (fault_code >= 1001 && fault_code <= 1100)
    return entry == EntryKind::kOutput ? host_status : HOST_STATUS_INPUT_ERROR;
  if (fault_code >= 1101 && fault_code <= 1200) return HOST_STATUS_FAILED;
  if (fault_code == NO_MEMORY_CODE) return HOST_STATUS_NO_MEMORY;
  return host_status;
}
