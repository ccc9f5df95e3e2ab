// Placeholder for a module without sources yet.
