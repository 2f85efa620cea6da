// The page's first script: starts the model's worker (and with it the WebAssembly download
// and compilation), then loads the rest of the page, which the browser has been fetching
// meanwhile (the charts' library is most of its script). The style sheet is imported here
// so that the page's head links it and the page is styled before the rest has loaded.
import './model_worker';
import './style.css';

void import('./main');
