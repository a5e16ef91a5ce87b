target_sources(quillset_core PRIVATE
    accounts/account_file.cpp
    accounts/account_store.cpp)
