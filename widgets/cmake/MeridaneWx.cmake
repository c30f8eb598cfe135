# SPDX-License-Identifier: GPL-3.0-or-later
# wxWidgets (core, base) as one interface target, its headers as system
# headers so that the project's warning flags do not apply to them.
include_guard(GLOBAL)
find_package(wxWidgets REQUIRED COMPONENTS core base)
add_library(meridane_wx INTERFACE)
target_include_directories(meridane_wx SYSTEM INTERFACE ${wxWidgets_INCLUDE_DIRS})
target_compile_definitions(meridane_wx INTERFACE ${wxWidgets_DEFINITIONS})
target_compile_options(meridane_wx INTERFACE ${wxWidgets_CXX_FLAGS})
target_link_libraries(meridane_wx INTERFACE ${wxWidgets_LIBRARIES})
