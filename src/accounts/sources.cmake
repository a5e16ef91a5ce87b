# Account store sources are added here.
