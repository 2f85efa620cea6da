// The page's first script: starts the model's worker (and with it the WebAssembly download
// and compilation), then loads the rest of the page, which the browser has been fetching
// meanwhile (the charts' library is most of its script).
import './model_worker';
import './style.css';

void import('./main');
