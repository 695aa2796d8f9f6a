# `cmake --build <build dir> --target sign` signs the shipped program for handing to customers:
# bin/signed/QTSysCheck.exe, signed with the certificate that QT_SIGN_CERT and QT_SIGN_PASSWORD
# name when the target runs (QT_SIGN_TIMESTAMP_URL adds a time stamp); see scripts/sign.sh.
# Not part of the default build, which needs no certificate. The unsigned program stays as built,
# so the tests keep checking exactly what the compiler made and signing twice cannot nest.
if(TARGET QTSysCheck)
  add_custom_target(sign
    COMMAND ${PROJECT_SOURCE_DIR}/scripts/sign.sh $<TARGET_FILE:QTSysCheck>
            $<TARGET_FILE_DIR:QTSysCheck>/signed/$<TARGET_FILE_NAME:QTSysCheck>
    COMMENT "Signing QTSysCheck.exe"
    VERBATIM)
  add_dependencies(sign QTSysCheck)
endif()
