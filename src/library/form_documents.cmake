# The blank inspection forms. Their descriptions (resources/forms/*.form) are
# turned into Word documents at build time and carried inside the program.

# The description parser and the table of forms; the build tool links it too,
# so it cannot live in tamsel_library, which carries the tool's output.
add_library(tamsel_forms STATIC
  form_builder.cpp form_builder.h
  form_catalogue.cpp form_catalogue.h
  form_description.cpp form_description.h
)
target_include_directories(tamsel_forms PUBLIC ${CMAKE_CURRENT_SOURCE_DIR})
target_link_libraries(tamsel_forms PUBLIC tamsel_document tamsel_util Qt6::Core)

# The build tool and its output: one ws<N>.doc per form, "监察文书大全" included.
add_executable(tamsel-form-generate form_generate_main.cpp)
target_link_libraries(tamsel-form-generate PRIVATE tamsel_forms)
set_target_properties(tamsel-form-generate PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/tools)

set(form_source_dir ${PROJECT_SOURCE_DIR}/resources/forms)
set(form_output_dir ${CMAKE_BINARY_DIR}/carried/forms)
file(GLOB form_sources CONFIGURE_DEPENDS ${form_source_dir}/ws*.form)
set(form_outputs)
foreach(number RANGE 1 27)
  list(APPEND form_outputs ${form_output_dir}/ws${number}.doc)
endforeach()
add_custom_command(
  OUTPUT ${form_outputs}
  COMMAND tamsel-form-generate ${form_source_dir} ${form_output_dir}
  DEPENDS ${form_sources} tamsel-form-generate
  COMMENT "Blank inspection forms"
  VERBATIM)
add_custom_target(tamsel_carried_forms ALL DEPENDS ${form_outputs})

# The forms go into the program, read back by carriedForm().
foreach(path IN LISTS form_outputs)
  get_filename_component(name ${path} NAME)
  set_source_files_properties(${path} PROPERTIES QT_RESOURCE_ALIAS ${name} GENERATED TRUE)
endforeach()
target_sources(tamsel_library PRIVATE form_documents.cpp form_documents.h)
target_link_libraries(tamsel_library PUBLIC tamsel_forms)
add_dependencies(tamsel_library tamsel_carried_forms)
qt_add_resources(tamsel_library carried_forms PREFIX "/forms" FILES ${form_outputs})

# The descriptions go in too: printing a form lays it out from its
# description, read back by carriedFormDocument().
foreach(path IN LISTS form_sources)
  get_filename_component(name ${path} NAME)
  set_source_files_properties(${path} PROPERTIES QT_RESOURCE_ALIAS ${name})
endforeach()
qt_add_resources(tamsel_library form_descriptions PREFIX "/form_descriptions" FILES ${form_sources})
