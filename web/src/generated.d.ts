// The WebAssembly module's factory (built by the web preset, copied in by scripts/web).
declare module './generated/palvane_web.mjs' {
  // eslint-disable-next-line @typescript-eslint/no-explicit-any
  const createPalvane: (options?: object) => Promise<any>;
  export default createPalvane;
}
declare module 'virtual:translations' {
  const table: Record<string, string>;
  export default table;
}
declare module 'virtual:messages' {
  const table: Record<string, string>;
  export default table;
}
