# The blank inspection forms. Their descriptions (resources/forms/*.form) are
# turned into Word documents at build time and carried inside the program.

# The description parser and the table of forms; the build tool links it too,
# so it cannot live in tamsel_library, which carries the tool's output.
add_library(tamsel_forms STATIC
  form_catalogue.cpp form_catalogue.h
  form_description.cpp form_description.h
)
target_include_directories(tamsel_forms PUBLIC ${CMAKE_CURRENT_SOURCE_DIR})
target_link_libraries(tamsel_forms PUBLIC tamsel_document tamsel_util Qt6::Core)
